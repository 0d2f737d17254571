#pragma once

enum class WindowBackgroundStyle { wallpaper, transparent, solidColor, trimShadow };
