#pragma once

namespace mirute {

// Sets up the application (Japanese locale and font, one instance per folder) and runs the main window
// in the current working folder, where every data file lives.
int runApplication(int argc, char *argv[]);

// A Japanese gothic face of the system for every text, standing in for "ＭＳ ゴシック" wherever it is named.
void useJapaneseFont();

// Qt's own Japanese texts (standard buttons such as キャンセル, the context menus of text boxes), from the
// translations installed with Qt. False when they are not installed: Qt then keeps its English texts.
bool installQtTranslations();

} // namespace mirute
