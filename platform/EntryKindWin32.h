#pragma once
// What a Windows directory entry is to the walk, from its attributes and, for a reparse point,
// its reparse tag. Name surrogates (symbolic links, junctions, mount points) stand for another
// name and are never entered or read; every other reparse point (a cloud-synced file or folder,
// a deduplicated file) is the folder or file its attributes say.

#include <windows.h>

#include "platform/Platform.h"

namespace platform {

inline EntryKind entryKindOf(DWORD attributes, DWORD reparseTag) {
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && IsReparseTagNameSurrogate(reparseTag))
        return EntryKind::Other;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::Folder : EntryKind::RegularFile;
}

}  // namespace platform
