#pragma once

#include <QObject>
#include <QString>

class QAction;

namespace kazari
{

class TForm1;
class TForm11;

/// The file mask and annotation filter commands: "フィルタの設定" (Shift+F) and its
/// dialog, the tool button "フィルタ", "選択ファイルと同じ拡張子" (Ctrl+K) and
/// "選択ファイルと同じ名前" (Ctrl+N). The tool button shows whether a filter is in force.
class FilterCommands : public QObject
{
    Q_OBJECT

public:
    static FilterCommands *install(TForm1 &form);
    explicit FilterCommands(TForm1 &form);

    TForm11 *dialog() const { return m_dialog; }

    /// "設定": the mask and annotation filter from the dialog, then a rebuild.
    void applyDialog();
    /// "解除": no mask (kept in search results) and no annotation filter, then a rebuild.
    void clearFilter();

private:
    bool onCommand(const QString &name, QAction *action);
    /// The name of the item the commands act on: the current item when it is selected,
    /// otherwise the first selected item; empty without a selection.
    QString selectedName() const;
    void setMaskAndRebuild(const QString &mask);
    void setButton(bool pressed);
    void rebuild();

    TForm1 &m_form;
    TForm11 *m_dialog = nullptr;
};

} // namespace kazari
