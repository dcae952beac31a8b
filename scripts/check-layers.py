#!/usr/bin/env python3
"""Checks that includes point down the layers: a file may include its own layer or a lower one, never a
higher one, and the core includes no widget header. Exits 1 listing every include that points up."""
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


def layer_of(path):
    """Index of the layer a path under src/ belongs to, or None."""
    best = None
    for i, layer in enumerate(LAYERS):
        if path == layer or path.startswith(layer + '/'):
            if best is None or len(LAYERS[best]) < len(layer):
                best = i
    return best


def main():
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else 'src')
    problems = []
    for f in sorted(src.rglob('*')):
        if f.suffix not in ('.cpp', '.h'):
            continue
        rel = f.relative_to(src).as_posix()
        own = layer_of(rel)
        if own is None:
            problems.append(f'{rel}: in no layer')
            continue
        for n, line in enumerate(f.read_text(encoding='utf-8').splitlines(), 1):
            m = INCLUDE.search(line)
            if m and (src / m.group(1)).exists():
                target = layer_of(m.group(1))
                if target is None or target > own:
                    problems.append(f'{rel}:{n}: includes {m.group(1)} from a higher layer')
            if rel.startswith('core/') and WIDGET_HEADERS.search(line):
                problems.append(f'{rel}:{n}: the core includes a widget header')
    for p in problems:
        print(p)
    if problems:
        print(f'{len(problems)} include(s) against the layers')
        return 1
    print('includes follow the layers')
    return 0


if __name__ == '__main__':
    sys.exit(main())
