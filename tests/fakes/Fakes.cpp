// Fakes are header-only; this file gives the fakes library its object code.
#include "fakes/FakeClipboard.h"
#include "fakes/FakeEditorWindow.h"
#include "fakes/FakeWorkspace.h"
