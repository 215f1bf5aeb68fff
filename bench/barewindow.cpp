// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the launch benchmark: the least a Qt 6 Widgets program does
// to put one window with one label on the screen. An optional WIDTHxHEIGHT
// argument sizes the window, so that it can match the window it is compared with.
#include <QApplication>
#include <QLabel>

#include <cstdio>

int main(int argc, char *argv[])
{
    int width = 0;
    int height = 0;
    if (argc > 1) {
        const QList<QByteArray> parts = QByteArray(argv[1]).split('x');
        bool wide = false;
        bool high = false;
        if (parts.size() == 2) {
            width = parts[0].toInt(&wide);
            height = parts[1].toInt(&high);
        }
        if (!wide || !high || width <= 0 || height <= 0) {
            std::fprintf(stderr, "usage: %s [WIDTHxHEIGHT]\n", argv[0]);
            return 2;
        }
    }
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("A bare Qt 6 window"));
    label.setWindowTitle(QStringLiteral("bare"));
    if (width > 0)
        label.resize(width, height);
    label.show();
    return app.exec();
}
