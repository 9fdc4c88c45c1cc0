#pragma once

// When a command of the main window can be used.
enum class CommandRule {
    Always,
    NeedsDocument,  // an open document
    NeedsSelection, // selected text in the focused text control
    NeedsPastable,  // something the focused text control can paste
};

class CommandStateRules
{
public:
    // With `closing` set, the window that is about to go still counts as
    // open, so one open document means none.
    static bool documentCommandsEnabled(int openDocuments, bool closing);
};
