#pragma once

#include "core/annotations/fileannotationrec.h"

#include <QDateTime>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

namespace kazari
{

/// What the sticky note shows for an item, and where it goes beside the mouse: the texts,
/// bars and colours of both variants, decided without widgets.
class StickyNoteContent
{
public:
    enum class Variant {
        Comment, ///< "コメントのみふきだし表示"
        Task,    ///< "タスクとコメントをふきだし表示"
    };

    /// The client sizes of the two variants.
    static constexpr int Width = 252;
    static constexpr int CommentHeight = 44;
    static constexpr int TaskHeight = 162;
    static QSize clientSize(Variant variant);

    /// The note's background colour.
    enum class Colour {
        ButtonFace, ///< the system's button face
        Setting,    ///< `cl_FusenFormColor<settingIndex>`
        Red,
        Yellow,
        Green, ///< red 0, green 128, blue 0
        Blue,
        Silver, ///< 192, 192, 192
        Tooltip,
    };

    /// The completion picture beside the file name.
    enum class Completion { None, Completed, Open };

    struct Content {
        Variant variant = Variant::Comment;
        Colour colour = Colour::ButtonFace;
        /// For `Colour::Setting`: 0 to 5.
        int settingIndex = 0;
        /// The texts are red (a deadline before the start, or passed).
        bool redText = false;
        Completion completion = Completion::None;

        QString fileName;
        QString comment;
        QString importance;
        QString method;
        QString start;
        QString wholeTime;
        QString deadline;
        QString remainingTime;
        QString notification;
        QString completionLine;
        QString achievementLine;
        QString remainingPercent;
        QString remainingLabel;
        /// Both bars within 0 to 100.
        int achievement = 0;
        int remainingBar = 0;
    };

    /// Fills the note for an item (`caption` and its annotation) at the time `now`.
    static Content fill(Variant variant, const QString &caption, const FileAnnotationRec &a,
                        const QDateTime &now);

    /// The note's top left corner for the mouse at `mouse` on a screen: beside the mouse
    /// in the quarter of the screen it is in, so the note stays on the screen's side
    /// towards its centre.
    static QPoint place(QPoint mouse, const QRect &screen, QSize note);

    /// Hours as "##0.0" (halves to even).
    static QString hours(qint64 milliseconds);
};

} // namespace kazari
