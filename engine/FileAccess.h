#pragma once
// The engine's file access: a read-only regular file and an atomic replacement of a file's
// content, both from the platform layer.

#include "platform/Platform.h"

using platform::FileWriteResult;
using platform::InputFile;
using platform::writeFileReplacing;
