# The checks the window-manager tests share; sourced, not run.
failures=0
check() { # what, then a command that succeeds when it holds
    local what=$1
    shift
    if ! "$@"; then
        echo "FAILED: $what"
        failures=$((failures + 1))
    fi
}
eventually() { # a command, retried for up to five seconds
    for _ in {1..100}; do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

# Closed every way, About opens again at one press of "A lire" as soon as it is gone, the press
# coming soon after the one before: About is open and active, and the caller's read_me, window,
# has_window and active find and drive the windows. OK stands at 328, 175 in About's client area
# of 426 x 237.
close_about() {
    if [[ $1 == OK ]]; then
        local WIDTH HEIGHT
        eval "$(xdotool getwindowgeometry --shell "$about" | grep -E '^(WIDTH|HEIGHT)=')"
        local edge=$(((WIDTH - 426) / 2))
        xdotool mousemove --window "$about" $((edge + 340)) $((HEIGHT - 237 - edge + 185)) click 1
    else
        xdotool key "$1"
    fi
}
check_reopens_after_every_close() {
    local way opened
    for way in Escape Return alt+F4 OK; do
        opened=0
        for _ in {1..10}; do
            close_about "$way"
            eventually eval '! has_window "$about_title"' || break
            read_me
            if eventually has_window "$about_title"; then
                opened=$((opened + 1))
            else # the press was lost: one more brings About back for the next round
                read_me
                eventually has_window "$about_title" || break
            fi
            about=$(window "$about_title")
            eventually active "$about"
        done
        check "closed by $way, About opens at each of ten presses ($opened)" test "$opened" -eq 10
    done
}
