#pragma once

#include <QColor>
#include <QImage>

namespace kazari
{

/// The program's own small pictures, drawn in code: the placeholders shown while an
/// item's icon is being made, the return picture, the label strips and the folder
/// pictures. The build writes them as bitmap files into icon/; the program falls back
/// to these when a picture file is missing.
class BuiltinPictures
{
public:
    /// The colour that marks transparent pixels in label strips (aqua).
    static QColor transparentKey() { return QColor(0, 255, 255); }

    /// "Reading" placeholder: an item whose icon is on its way.
    static QImage reading(int size);
    /// "Not read" placeholder used with simple icons.
    static QImage nilread(int size);
    /// The return (up one level) picture.
    static QImage returnPicture(int size);
    /// Four label pictures side by side (red, yellow, green, blue) on the aqua key.
    static QImage labelStrip(int size);
    /// Folder pictures: 0 closed, 1 marked, 2 open, 3 white.
    static QImage folder(int size, int variant);
    /// Number of built-in seals.
    static constexpr int SealCount = 15;
    /// Seal `index` (0..14) on a transparent background: work, play, camera, the three
    /// signal lights, brake lamp, tool, note, file check / cross / recycle, folder
    /// check / cross / circle. A null image for an index outside 0..14.
    static QImage seal(int index, int size = 16);

    /// The 16 x 4 bar of a caption colour preset, the picture of its menu command.
    static QImage colourBar(const QColor &colour);
    /// A 16 x 16 tool button picture: the colour bar drawn at (0, 6), the rest
    /// transparent so the tool bar's own colour shows.
    static QImage colourBarButton(const QColor &colour);
    /// A 16 x 16 picture of a single-colour mask: a page shaded from white to the colour,
    /// the way a masked icon turns out.
    static QImage maskColourButton(const QColor &colour);
    /// "単一色選択": the mask page in the colours of a colour wheel (any colour).
    static QImage maskChoiceButton();
    /// "単一色削除": a plain page, crossed out.
    static QImage maskRemovalButton();
    /// "キャプションマスク設定": the caption bar in the colours of a colour wheel.
    static QImage captionChoiceButton();
    /// "キャプションマスクなし": an empty caption bar, crossed out.
    static QImage captionRemovalButton();
};

} // namespace kazari
