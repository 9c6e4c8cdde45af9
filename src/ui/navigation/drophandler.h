#pragma once

#include <QObject>

namespace kazari
{

class TForm1;

/// Files dropped onto the main window and items dragged inside the item list.
class DropHandler : public QObject
{
    Q_OBJECT

public:
    explicit DropHandler(TForm1 &form);

private:
    TForm1 &m_form;
};

} // namespace kazari
