#pragma once

#include <QStringList>

class QWidget;

namespace mirute::test {

// What a player would see wrong in a window as it is laid out now, one line per fault, empty when none:
// - two visible controls that overlap (neither inside the other);
// - a control that lies outside its window or is cut off by a widget it sits in;
// - the text of a label, button, check box, option button or combo box that does not fit its contents
//   rectangle (it would be cut or elided);
// - a grid cell or header whose text is wider than its column;
// - a category label of a chart axis wider than its category, or any chart label Qt Charts has drawn cut
//   short to "...".
// Compound controls (grids, charts, calendars, combo boxes, scroll areas) count as one control each.
// A widget with the dynamic property "layoutCheckIgnore" set to true is skipped with its children, for
// decorations that are meant to lie over others.
QStringList layoutProblems(QWidget *window);

} // namespace mirute::test
