#pragma once

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;

namespace kazari
{

/// The filter dialog "フィルタの設定": the file mask's name and type, and the annotation
/// field the list is filtered by ("拡張情報"). It only holds the texts; what its buttons
/// do is up to the filter commands.
class FilterDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FilterDialog(QWidget *parent = nullptr);

    QString nameText() const;
    void setNameText(const QString &text);
    QString typeText() const;
    void setTypeText(const QString &text);
    /// The option chosen in "拡張情報" (0 "なし" ... 8 "タスク").
    int option() const;
    void setOption(int option);
    /// The annotation key suffix of the chosen option; empty for "なし".
    QString annotationSuffix() const;

    QPushButton *setButton() const { return m_set; }
    QPushButton *clearButton() const { return m_clear; }
    QPushButton *closeButton() const { return m_close; }

Q_SIGNALS:
    /// "設定"
    void setClicked();
    /// "解除"
    void clearClicked();

private:
    QLineEdit *m_name = nullptr;
    QLineEdit *m_type = nullptr;
    QButtonGroup *m_options = nullptr;
    QPushButton *m_set = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace kazari
