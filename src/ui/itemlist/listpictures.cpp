#include "ui/itemlist/listpictures.h"

#include "core/app/settings.h"
#include "core/decoration/builtinpictures.h"
#include "core/platform/programfolder.h"
#include "ui/itemlist/itemlistlook.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace kazari
{

namespace
{

QImage readPicture(const QString &path)
{
    QImageReader reader(path);
    QImage image = reader.read();
    // A picture file of absurd size is not a placeholder.
    if (image.isNull() || image.width() > 4096 || image.height() > 4096)
        return QImage();
    return image;
}

} // namespace

QImage ListPictures::picture(const Settings &settings, const ProgramFolder &folder,
                             const QString &userKey, const QString &defaultKey,
                             const QImage &builtin)
{
    const QString user = settings.value(userKey);
    if (!user.isEmpty() && QDir::isAbsolutePath(user) && QFileInfo(user).isFile()) {
        const QImage image = readPicture(user);
        if (!image.isNull())
            return image;
    }
    const QString name = settings.value(defaultKey);
    if (ProgramFolder::isContainedName(name)) {
        const QImage image = readPicture(folder.dataFile(QStringLiteral("icon/") + name));
        if (!image.isNull())
            return image;
    }
    return builtin;
}

QList<QPixmap> ListPictures::splitStrip(const QImage &strip, int size)
{
    QList<QPixmap> out;
    if (strip.isNull() || strip.width() < 4)
        return out;
    QImage argb = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = BuiltinPictures::transparentKey().rgb();
    for (int y = 0; y < argb.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == (key & 0x00FFFFFFu))
                line[x] = 0;
        }
    }
    const int w = argb.width() / 4;
    for (int i = 0; i < 4; ++i) {
        const QImage part = argb.copy(i * w, 0, w, argb.height());
        out.append(QPixmap::fromImage(
            part.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    }
    return out;
}

void ListPictures::load(ItemListLook &look, const Settings &settings, const ProgramFolder &folder)
{
    const bool simple = look.flags.simpleIcons;
    const QString stem = simple ? QStringLiteral("nilread") : QStringLiteral("reading");
    auto placeholder = [&](int size) {
        const QString n = QString::number(size);
        const QImage builtin =
            simple ? BuiltinPictures::nilread(size) : BuiltinPictures::reading(size);
        return picture(settings, folder, QStringLiteral("Iu_") + stem + n,
                       QStringLiteral("Id_") + stem + n, builtin);
    };
    const int large = look.flags.largeSize();
    look.placeholderLarge = QPixmap::fromImage(
        placeholder(32).scaled(large, large, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    look.placeholderSmall = QPixmap::fromImage(
        placeholder(16).scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));

    look.labelsLarge =
        splitStrip(picture(settings, folder, QStringLiteral("Iu_Label_List32"),
                           QStringLiteral("Id_Label_List32"), BuiltinPictures::labelStrip(32)),
                   large);
    look.labelsSmall =
        splitStrip(picture(settings, folder, QStringLiteral("Iu_Label_List16"),
                           QStringLiteral("Id_Label_List16"), BuiltinPictures::labelStrip(16)),
                   16);

    look.seals.clear();
    for (int i = 0; i < BuiltinPictures::SealCount; ++i) {
        QImage seal;
        const QString user = settings.value(QStringLiteral("Seal_P%1").arg(i));
        if (!user.isEmpty() && QDir::isAbsolutePath(user) && QFileInfo(user).isFile())
            seal = readPicture(user);
        if (seal.isNull())
            seal = BuiltinPictures::seal(i, 16);
        look.seals.append(QPixmap::fromImage(
            seal.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    }
}

} // namespace kazari
