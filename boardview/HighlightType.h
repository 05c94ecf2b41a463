// The kinds of highlight circle, with the value names a description uses ("htSettings"). The
// kind sets a circle's ring colour and brightness and the type menu that lists it.
#pragma once

#include <QObject>

namespace BoardView {
Q_NAMESPACE

enum THighlightType {
    htOptions,     // blue: standard and optional features of the product family
    htSettings,    // yellow: jumpers and switches to configure
    htCalibration, // red: calibration, and settings that need control of the hardware
};
Q_ENUM_NS(THighlightType)

} // namespace BoardView
