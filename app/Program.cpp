#include "app/Program.h"

#include "forms/AppDescriptor.h"

namespace app {

Program::Program(about_window::AboutServices services)
    : about_(forms::AppDescriptor, std::move(services)), form_([this] { about_.Request(); }) {
    form_.show();
}

} // namespace app
