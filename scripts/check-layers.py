#!/usr/bin/env python3
"""Checks that the code points down the layers: a file may use its own layer or a lower one, never a higher
one. Two ways up are looked for: an include of a higher layer's header (or, in the core, of a widget
header), and a declaration that names a type of a higher layer without including it (a forward declaration
`class GameWindow;` and a function taking or returning it, or `class QWidget;` in the core), which compiles
and links as long as the higher library supplies the definition. Exits 1 listing every use that points up."""
import pathlib
import re
import sys

# Lowest first. A folder's layer is the longest prefix of its path under src/ listed here.
LAYERS = [
    'core/base', 'core/log', 'core/tables', 'core/games', 'core/views', 'core/export',
    'gui/widgets', 'gui/panels', 'gui/games', 'gui/app',
    'programs',
]
WIDGET_HEADERS = re.compile(r'#\s*include\s*<(QtWidgets|QtGui|QtCharts|Q(Widget|Label|PushButton|Dialog|Painter'
                            r'|Application|MainWindow|Chart|Abstract(Button|ItemView|Scroll)|Layout|Box|Menu|'
                            r'Color|Font|Icon|Pixmap|Image|KeyEvent|MouseEvent|PaintEvent)\b)')
INCLUDE = re.compile(r'#\s*include\s*"([^"]+)"')
# A class or struct defined (not merely declared) in a file: its name, then a base list or the brace.
DEFINITION = re.compile(r'\b(?:class|struct)\s+(?:\[\[[^\]]*\]\]\s*)?([A-Za-z_]\w*)\s*(?:final\s*)?(?::[^;{()]*)?\{')
ALIAS = re.compile(r'\busing\s+([A-Za-z_]\w*)\s*=|\benum\s+(?:class\s+|struct\s+)?([A-Za-z_]\w*)')
IDENTIFIER = re.compile(r'\b[A-Za-z_]\w*\b')
# Comments, string and character literals: what they name is no use of a type.
NOT_CODE = re.compile(r'//[^\n]*|/\*.*?\*/|R"(?P<d>[^(\s]*)\(.*?\)(?P=d)"|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'',
                      re.S)
# The widget modules' classes, which the core (linked with QtCore alone) must not name even by a pointer.
QT_INCLUDE_ROOTS = ['/usr/include/x86_64-linux-gnu/qt6', '/usr/include/aarch64-linux-gnu/qt6', '/usr/include/qt6']
WIDGET_MODULES = ['QtWidgets', 'QtGui', 'QtCharts', 'QtOpenGLWidgets', 'QtPrintSupport']
# The same for a machine without Qt's headers: the widget types the program uses.
KNOWN_WIDGET_TYPES = {
    'QWidget', 'QDialog', 'QMainWindow', 'QApplication', 'QGuiApplication', 'QLabel', 'QPushButton',
    'QAbstractButton', 'QCheckBox', 'QComboBox', 'QLineEdit', 'QRadioButton', 'QGroupBox', 'QFrame',
    'QLayout', 'QBoxLayout', 'QGridLayout', 'QTableView', 'QHeaderView', 'QScrollBar', 'QMenu', 'QAction',
    'QPainter', 'QColor', 'QFont', 'QIcon', 'QPixmap', 'QImage', 'QPalette', 'QScreen', 'QWindow',
    'QKeyEvent', 'QMouseEvent', 'QPaintEvent', 'QCloseEvent', 'QChart', 'QChartView', 'QTextBrowser',
}


def layer_of(path):
    """Index of the layer a path under src/ belongs to, or None."""
    best = None
    for i, layer in enumerate(LAYERS):
        if path == layer or path.startswith(layer + '/'):
            if best is None or len(LAYERS[best]) < len(layer):
                best = i
    return best


def code_only(text):
    """The text with comments and literals blanked, line breaks kept so that line numbers stay."""
    return NOT_CODE.sub(lambda m: re.sub(r'[^\n]', ' ', m.group(0)), text)


def defined_names(code):
    """The types a file defines: classes, structs, enums and aliases."""
    return set(DEFINITION.findall(code)) | {a or b for a, b in ALIAS.findall(code)}


def widget_types():
    names = set(KNOWN_WIDGET_TYPES)
    for root in QT_INCLUDE_ROOTS:
        for module in WIDGET_MODULES:
            folder = pathlib.Path(root) / module
            if folder.is_dir():
                names.update(f.name for f in folder.iterdir() if re.fullmatch(r'Q[A-Z]\w*', f.name))
    return names


def main():
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else 'src')
    files = []
    for f in sorted(src.rglob('*')):
        if f.suffix in ('.cpp', '.h'):
            rel = f.relative_to(src).as_posix()
            text = f.read_text(encoding='utf-8')
            files.append((rel, layer_of(rel), text, code_only(text)))

    # Where each type other files can see is defined (a header): a type named in a file must be defined in
    # its layer or a lower one, unless the file has a type of that name of its own.
    lowest = {}
    for rel, own, _, code in files:
        if own is not None and rel.endswith('.h'):
            for name in DEFINITION.findall(code):
                lowest[name] = min(lowest.get(name, own), own)
    qt_widgets = widget_types()

    problems = []
    for rel, own, text, code in files:
        if own is None:
            problems.append(f'{rel}: in no layer')
            continue
        for n, line in enumerate(text.splitlines(), 1):
            m = INCLUDE.search(line)
            if m and (src / m.group(1)).exists():
                target = layer_of(m.group(1))
                if target is None or target > own:
                    problems.append(f'{rel}:{n}: includes {m.group(1)} from a higher layer')
            if rel.startswith('core/') and WIDGET_HEADERS.search(line):
                problems.append(f'{rel}:{n}: the core includes a widget header')
        named = defined_names(code)
        for n, line in enumerate(code.splitlines(), 1):
            for name in IDENTIFIER.findall(line):
                if name in named:
                    continue
                if name in lowest and lowest[name] > own:
                    named.add(name)
                    problems.append(f'{rel}:{n}: names {name}, a type of the higher layer {LAYERS[lowest[name]]}')
                elif rel.startswith('core/') and name in qt_widgets:
                    named.add(name)
                    problems.append(f'{rel}:{n}: the core names {name}, a type of the widget library')
    for p in problems:
        print(p)
    if problems:
        print(f'{len(problems)} use(s) against the layers')
        return 1
    print('includes and declarations follow the layers')
    return 0


if __name__ == '__main__':
    sys.exit(main())
