#pragma once

#include "core/games/common/dictionary.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace mirute {

inline const QString kMemberDictionary = QStringLiteral("抜仲間辞書.TXT");

// One group of the 抜仲間 dictionary: its name and its members in dictionary order.
struct MemberGroup {
    QString name;
    QStringList members;
};

// The groups read from the dictionary, and the lines whose items could not be used.
struct MemberGroups {
    static constexpr int kMaxMembers = 20;
    QList<MemberGroup> groups;
    QList<int> beforeFirstGroup; // members with no group to belong to
    QList<int> beyondMaximum;    // members after the twentieth of their group
    QList<int> emptyGroups;      // groups without a member: there would be nothing to type
    QList<int> unreadable;       // lines that are not Shift_JIS

    // One message naming the file and the lines of every kind of skipped item; "" when nothing was skipped.
    QString skippedMessage() const;
};

// An item starting with "<" or "＜" starts a group named by the item without its first and last character;
// every other item is a member of the group started last.
bool isGroupItem(const QString &item);
QString groupName(const QString &item);
MemberGroups parseMemberGroups(const Dictionary &d);

} // namespace mirute
