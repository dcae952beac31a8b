#include "games/member/member_view_widget.h"

#include <QWidget>

namespace mirute {

QWidget *makeMemberView(GameWindow &) { return nullptr; }

} // namespace mirute
