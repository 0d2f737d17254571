#include "FakeDialogs.h"

std::optional<QString> FakeDialogs::chooseImageFileToOpen()
{
    ++openPanelsShown;
    return imageFileToChoose;
}
