// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the desktop icons: the monster picture scaled nearest-neighbour, by whole
// factors, to each size a desktop asks for. The 16 and 48 pixel icons come from the
// 16 by 16 image, the others from the 32 by 32 one.
//
//   quorvane-make-icons MONSTER32.xpm MONSTER16.xpm OUTDIR NAME
// writes OUTDIR/hicolor/<n>x<n>/apps/NAME.png for n = 16, 32, 48, 64, 128, 256.

#include <cstdio>

#include <QDir>
#include <QImage>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fputs("usage: quorvane-make-icons MONSTER32.xpm MONSTER16.xpm OUTDIR NAME\n", stderr);
        return 2;
    }
    const QImage large(QString::fromLocal8Bit(argv[1]));
    const QImage small(QString::fromLocal8Bit(argv[2]));
    if (large.size() != QSize(32, 32) || small.size() != QSize(16, 16)) {
        std::fputs("quorvane-make-icons: the monster picture must be 32x32 and 16x16\n", stderr);
        return 1;
    }
    const QString out = QString::fromLocal8Bit(argv[3]);
    const QString name = QString::fromLocal8Bit(argv[4]);
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QImage& from = size % 32 == 0 ? large : small;
        const QImage icon = from.convertToFormat(QImage::Format_ARGB32)
                                .scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(out).arg(size);
        if (!QDir().mkpath(dir) || !icon.save(dir + '/' + name + QStringLiteral(".png"))) {
            std::fprintf(stderr, "quorvane-make-icons: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
