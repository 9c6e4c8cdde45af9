#pragma once

#include <QWidget>

namespace kazari
{

class TForm1;

/// The favourites pane ("よく使う項目") on its page of the right pane.
class FavouritesPane : public QWidget
{
    Q_OBJECT

public:
    explicit FavouritesPane(TForm1 &form);

private:
    TForm1 &m_form;
};

} // namespace kazari
