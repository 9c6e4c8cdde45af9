#pragma once

#include <QImage>
#include <QList>
#include <QPixmap>
#include <QString>

namespace kazari
{

class ProgramFolder;
class Settings;
struct ItemListLook;

/// The item list's own pictures as the settings name them: the placeholders
/// (`Iu_reading32` ... or, with "シンプルアイコン", `Iu_nilread32` ...), the label strips
/// (`Iu_Label_List32`, `Iu_Label_List16`) and the seals (`Seal_P0` to `Seal_P14`). A
/// user file (`Iu_`) is used when it exists, then the default name (`Id_`) in the
/// program's `icon/` folder, then the program's built-in picture.
class ListPictures
{
public:
    /// Fills the pictures of a look whose style and switches are already set.
    static void load(ItemListLook &look, const Settings &settings, const ProgramFolder &folder);

    /// The four images of a label strip (four pictures side by side, aqua transparent),
    /// each scaled to `size` x `size`.
    static QList<QPixmap> splitStrip(const QImage &strip, int size);

    /// A picture file by the user key, then the default key, then the built-in one.
    static QImage picture(const Settings &settings, const ProgramFolder &folder,
                          const QString &userKey, const QString &defaultKey, const QImage &builtin);
};

} // namespace kazari
