// Linux: quorvelin-trame's files as a user meets them: -o replaces a file whole or leaves it
// as it was, and a read that fails is a failure.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#ifndef QUORVELIN_TRAME
#error "QUORVELIN_TRAME must name the program under test"
#endif

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void write(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

struct Ran {
    int status;
    std::string out, err;
};

// The program through the shell, in `folder`, with its outputs caught.
Ran run(const fs::path& folder, const std::string& command) {
    const std::string line = "cd '" + folder.string() + "' && " + command + " >out 2>err";
    const int status = std::system(line.c_str());
    Ran ran{WIFEXITED(status) ? WEXITSTATUS(status) : 128, contents(folder / "out"),
            contents(folder / "err")};
    fs::remove(folder / "out");
    fs::remove(folder / "err");
    return ran;
}

class Folder {
public:
    Folder() {
        std::string pattern = "/tmp/quorvelin-files-XXXXXX";
        path_ = mkdtemp(pattern.data());
    }
    ~Folder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }
    // The names in the folder, to see that no temporary is left.
    std::string names() const {
        std::string listed;
        for (const auto& entry : fs::directory_iterator(path_)) {
            listed += entry.path().filename().string() + " ";
        }
        return listed;
    }

private:
    fs::path path_;
};

const std::string Trame = QUORVELIN_TRAME;
// 20,000 positions: 1.4 MB of sentences, far beyond any buffer.
std::string positions() {
    std::string text;
    for (int i = 0; i < 20000; ++i) {
        text += std::to_string(i % 90) + " " + std::to_string(i % 180) + "\n";
    }
    return text;
}

TEST(OutputFile, ReplacesTheFileWholeOrLeavesItAsItWas) {
    const struct {
        const char* what;
        std::string command; // on "positions", "link" leads to it
        int status;
        const char* err; // a part of it
        bool replaced;
    } cases[] = {
        {"its own input", Trame + " --batch positions -o positions", 0, "", true},
        {"through a link", Trame + " --batch positions -o link", 0, "", true},
        // A file size limit is what a full disk looks like to a writer.
        {"a write refused", "ulimit -f 100; trap '' XFSZ; " + Trame + " --batch positions -o link",
         2, "impossible d'écrire dans « link » : fichier trop grand", false},
        {"a refused run", Trame + " -o positions 46 60 5 0", 2, "atteignent 60", false},
        {"no position", Trame + " --check -o positions </dev/null", 2, "aucune trame", false},
    };
    for (const auto& c : cases) {
        const Folder folder;
        const fs::path file = folder.path() / "positions";
        write(file, positions());
        fs::permissions(file,
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        fs::create_symlink("positions", folder.path() / "link");
        const Ran ran = run(folder.path(), c.command);
        EXPECT_EQ(ran.status, c.status) << c.what << ": " << ran.err;
        EXPECT_NE(ran.err.find(c.err), std::string::npos) << c.what << ": " << ran.err;
        const std::string now = contents(file);
        if (c.replaced) {
            EXPECT_EQ(std::count(now.begin(), now.end(), '\n'), 20000) << c.what;
            EXPECT_TRUE(now.starts_with("$GPRMC,000000.000,A,0000.0000,N,00000.0000,E,")) << c.what;
        } else {
            EXPECT_EQ(now, positions()) << c.what;
        }
        EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
            << c.what;
        EXPECT_TRUE(fs::is_symlink(folder.path() / "link")) << c.what;
        EXPECT_EQ(folder.names().size(), std::string("positions link ").size())
            << c.what << ": " << folder.names();
    }
}

// Ended by a signal while it waits for more positions: the file stays, the temporary goes.
TEST(OutputFile, ASignalLeavesTheFileAsItWas) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const Folder folder;
        const fs::path file = folder.path() / "balises.txt";
        write(file, "old\n");
        int input[2];
        ASSERT_EQ(pipe(input), 0);
        const pid_t child = fork();
        if (child == 0) {
            dup2(input[0], STDIN_FILENO);
            close(input[1]);
            execl(Trame.c_str(), Trame.c_str(), "--batch", "-", "-o", file.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        close(input[0]);
        const std::string lines = positions();
        ASSERT_EQ(::write(input[1], lines.data(), lines.size()), ssize_t(lines.size()));
        std::this_thread::sleep_for(300ms);
        kill(child, signal);
        int status = 0;
        waitpid(child, &status, 0);
        close(input[1]);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_EQ(contents(file), "old\n") << signal;
        EXPECT_EQ(folder.names(), "balises.txt ") << signal;
    }
}

// What cannot be read ends the run with status 2 and the reason, whichever way it comes.
TEST(InputFile, AReadThatFailsIsAFailure) {
    const Folder folder;
    const struct {
        std::string command;
        const char* err;
    } cases[] = {
        {Trame + " --batch .", "impossible de lire « . » : c'est un dossier"},
        {Trame + " --batch - <.", "impossible de lire l'entrée standard : c'est un dossier"},
        {Trame + " --check <.", "impossible de lire l'entrée standard : c'est un dossier"},
        {Trame + " --batch /proc/self/mem", "erreur d'entrée-sortie"},
        {Trame + " --batch absent.csv", "« absent.csv » : fichier ou dossier introuvable"},
        // Root reads any file unless it gives up the capability to.
        {"chmod 0 positions; $([ $(id -u) = 0 ] && echo setpriv "
         "--bounding-set=-dac_override,-dac_read_search) " +
             Trame + " --batch positions",
         "« positions » : permission refusée"},
        {Trame + " --batch \"$(printf 'a\\342\\200\\257b')\"", "« aU+202Fb »"},
        {Trame + " --format hex -o /dev/full 46 5", "« /dev/full » : plus de place sur le disque"},
    };
    write(folder.path() / "positions", "46 5\n");
    for (const auto& c : cases) {
        const Ran ran = run(folder.path(), c.command);
        EXPECT_EQ(ran.status, 2) << c.command;
        EXPECT_EQ(ran.out, "") << c.command;
        EXPECT_NE(ran.err.find(c.err), std::string::npos) << c.command << ": " << ran.err;
        EXPECT_EQ(ran.err.find("octets"), std::string::npos) << "a success told: " << ran.err;
    }
}

} // namespace
