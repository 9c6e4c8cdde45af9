#include "ui/navigation/favouritespane.h"

#include "ui/app/tform1.h"

#include <QVBoxLayout>

namespace kazari
{

FavouritesPane::FavouritesPane(TForm1 &form)
    : QWidget(form.rightPage(QStringLiteral("N123")))
    , m_form(form)
{
    setObjectName(QStringLiteral("FavouritesPane"));
    if (QWidget *page = parentWidget()) {
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(this);
    }
}

} // namespace kazari
