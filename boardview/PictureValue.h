// The value of a Picture property as a description sets it: a picture loaded from the picture
// stream, shared read-only until the receiving component copies it into its own picture.
#pragma once

#include "TPicture.h"

#include <QMetaType>
#include <memory>

using PictureValue = std::shared_ptr<const TPicture>;
Q_DECLARE_METATYPE(PictureValue)

// Lets the description reader turn a picture stream into a PictureValue for properties of that
// type. A broken stream (or another property type) gives an invalid value and the reason. The
// program calls this once at start, before it reads its main form description.
void InstallPictureConverter();
