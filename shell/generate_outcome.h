// How a Generate command ended, for both builders (INF and T13): the window
// handlers and the console front end read it the same way.
#pragma once

namespace shell {

enum class GenerateOutcome {
    Refused,    // a check failed; its message was shown, nothing changed
    Cancelled,  // save dialog cancelled or overwriting declined; nothing changed
    Failed,     // a step after the checks failed; one message says which and why
    NotMade,    // the tools ran but made no package: the failure message
    Made,       // this build made the package: the success message
};

// True only when this run made the package.
inline bool packageMade(GenerateOutcome outcome) { return outcome == GenerateOutcome::Made; }

// A front end's exit status: 0 when the package was made, 1 otherwise.
inline int exitStatusOf(GenerateOutcome outcome) { return packageMade(outcome) ? 0 : 1; }

}  // namespace shell
