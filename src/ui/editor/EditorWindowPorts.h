#pragma once

class ClipboardPort;
class DialogsPort;
class WorkspacePort;

// What the editor window needs of the desktop besides the application state.
struct EditorWindowPorts {
    ClipboardPort& clipboard;
    DialogsPort& dialogs;
    WorkspacePort& workspace;
};
