// Fakes are header-only; this file gives the fakes library its object code.
#include "FakeClipboard.h"
#include "FakeEditorWindow.h"
#include "FakeWorkspace.h"
