// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/table_place.h"

#include "scores/score_file.h"

namespace vermo {

namespace {
LinkLeftAlone whyNotFollowed(int refusal)
{
    switch (refusal) {
    case EPERM: return LinkLeftAlone::AnotherUsers;
    case ELOOP: return LinkLeftAlone::Loop;
    default: return LinkLeftAlone::MissingFolder;
    }
}
}  // namespace

TablePlace findTable(const Folder& gameFolder)
{
    TablePlace here{gameFolder, scoreFileName};
    const auto entry = gameFolder.entryInfo(scoreFileName);
    // A link another user made (where others may write) is no setting of
    // the player's: it counts as a damaged table.
    if (!entry || !S_ISLNK(entry->st_mode) || !gameFolder.accounts().trusts(*entry))
        return here;
    // The player's own link: followed to its table, or left as it is.
    const auto leftAlone = [&](LinkLeftAlone why) {
        here.leftAlone = why;
        here.linkTarget = gameFolder.linkTarget(scoreFileName).value_or("");
        return here;
    };
    const LinkEnd end = gameFolder.follow(scoreFileName);
    if (end.refused())
        return leftAlone(whyNotFollowed(end.refusal));
    TablePlace there{end.folder, end.name};
    const auto target = end.folder.entryInfo(end.name);
    // A file not made yet; or one that cannot even be looked at, which
    // then cannot be read either and so is never written over.
    if (!target)
        return there;
    if (!S_ISREG(target->st_mode))
        return leftAlone(LinkLeftAlone::NoTable);
    const FileRead bytes = end.folder.read(end.name, maxScoreFileBytes);
    if (bytes.state == FileRead::State::Unreadable || (bytes.read() && isScoreTable(bytes.bytes)))
        return there;
    return leftAlone(LinkLeftAlone::NoTable);
}

}  // namespace vermo
