#include "core/games/member/member_groups.h"

namespace mirute {

bool isGroupItem(const QString &item) {
    return item.startsWith(u'<') || item.startsWith(QChar(0xFF1C)); // "<" or "＜"
}

QString groupName(const QString &item) {
    return item.size() >= 2 ? item.mid(1, item.size() - 2) : QString();
}

MemberGroups parseMemberGroups(const Dictionary &d) {
    MemberGroups out;
    int groupLine = 0;
    auto closeGroup = [&] {
        if (groupLine != 0 && out.groups.last().members.isEmpty()) {
            out.groups.removeLast();
            out.emptyGroups.append(groupLine);
        }
    };
    for (const DictionaryItem &item : d.items) {
        if (isGroupItem(item.text)) {
            closeGroup();
            out.groups.append({groupName(item.text), {}});
            groupLine = item.line;
        } else if (groupLine == 0) {
            out.beforeFirstGroup.append(item.line);
        } else if (out.groups.last().members.size() >= MemberGroups::kMaxMembers) {
            out.beyondMaximum.append(item.line);
        } else {
            out.groups.last().members.append(item.text);
        }
    }
    closeGroup();
    for (const LineProblem &p : d.problems)
        out.unreadable.append(p.line);
    return out;
}

QString MemberGroups::skippedMessage() const {
    QStringList parts;
    auto add = [&](QList<int> lines, const QString &reason) {
        if (lines.isEmpty())
            return;
        std::sort(lines.begin(), lines.end());
        lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
        parts << skippedItemsMessage(kMemberDictionary, lines, reason);
    };
    add(beforeFirstGroup, QStringLiteral("最初のグループ行より前の項目"));
    add(beyondMaximum, QStringLiteral("21 番目以降のメンバー"));
    add(emptyGroups, QStringLiteral("メンバーのないグループ"));
    add(unreadable, QStringLiteral("読めない行"));
    return parts.join(QStringLiteral("\r\n"));
}

} // namespace mirute
