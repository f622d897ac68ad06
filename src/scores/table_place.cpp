// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/table_place.h"

#include "scores/score_file.h"

namespace vermo {

TablePlace FindTable(const Folder& gameFolder)
{
    TablePlace here{gameFolder, scoreFileName};
    const auto entry = gameFolder.entryInfo(scoreFileName);
    if (!entry || !S_ISLNK(entry->st_mode))
        return here;
    const LinkEnd end = gameFolder.follow(scoreFileName);
    if (end.refused())
        return here;
    TablePlace there{end.folder, end.name};
    int error = 0;
    const auto target = end.folder.entryInfo(end.name, &error);
    // A file not made yet; or one that cannot even be looked at, which
    // then cannot be read either and so is never written over.
    if (!target)
        return there;
    if (!S_ISREG(target->st_mode))
        return here;
    const FileRead bytes = end.folder.read(end.name, maxScoreFileBytes);
    if (bytes.state == FileRead::State::Unreadable || (bytes.read() && IsScoreTable(bytes.bytes)))
        return there;
    return here;
}

}  // namespace vermo
