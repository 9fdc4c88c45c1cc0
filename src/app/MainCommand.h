#pragma once

// The commands of the main window. Each is one QAction; a toolbar button
// whose enabled state follows another rule than its menu entry has an
// action of its own that runs the menu entry's.
enum class MainCommand {
    FileNew,
    FileOpen,
    FileClose,
    Save,
    SaveAs,
    Print,
    Quiz,
    ExportHtml,
    Options,
    Exit,
    Cut,
    Copy,
    Paste,
    AsStandardFont,
    InsertPicture,
    InsertObject,
    Find,
    CopyCard,
    PasteCard,
    MoveCard,
    Cascade,
    TileHorizontal,
    TileVertical,
    MinimizeAll,
    ArrangeAll,
    About,
    Manual,
    NewCard,
    DeleteCard,
    Bold,
    Underline,
    Italic,
    TextColorDialog,
    BackColorDialog,
    AlignLeft,
    AlignCenter,
    AlignRight,
    Bullets,
    Undo,
    Redo,
};

constexpr int MainCommandCount = int(MainCommand::Redo) + 1;
