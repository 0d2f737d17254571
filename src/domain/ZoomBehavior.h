#pragma once

enum class ZoomBehavior {
    custom,
    fit,
    actualSize,
};
