#pragma once

#include <QString>
#include <QStringList>

namespace mirute {
class MainWindow;
}

namespace mirute::bench {

// The eight panel buttons of the main window after "メイン".
const QStringList &panelButtons();
// A main window built and started as at program start, returned after its first paint.
MainWindow *openMainWindow(const QString &dir, double *msToFirstPaint);
// Back to the main panel, then one panel button clicked; milliseconds until the panel is shown and painted.
double clickPanelButton(MainWindow *w, const QString &name);

void registerPanelButtonBenchmarks();
void closeBenchWindows();

} // namespace mirute::bench
