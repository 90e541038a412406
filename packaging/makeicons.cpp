// Writes each picture of the application's icon as a PNG for the desktop's hicolor theme:
// packaging/icons/hicolor/<width>x<height>/apps/veltora.png. Run it from the repository's root
// after the icon changes; the PNGs are committed, so a build never needs it.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // The ICO reader is a plugin, found through the application object's library paths.
    QCoreApplication application(argc, argv);
    QTextStream err(stderr);
    QImageReader reader(QStringLiteral("res/icon.ico"));
    const int count = reader.imageCount();
    if (count < 1) {
        err << "makeicons: " << reader.errorString() << "\n";
        return 1;
    }
    for (int index = 0; index < count; ++index) {
        const QImage image = reader.jumpToImage(index) ? reader.read() : QImage();
        const QString dir = QStringLiteral("packaging/icons/hicolor/%1x%2/apps")
                                .arg(image.width())
                                .arg(image.height());
        if (image.isNull() || !QDir().mkpath(dir)
            || !image.save(dir + QStringLiteral("/veltora.png"))) {
            err << "makeicons: cannot write picture " << index << " to " << dir << "\n";
            return 1;
        }
    }
    return 0;
}
