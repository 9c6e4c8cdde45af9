#include "ui/navigation/drophandler.h"

#include "ui/app/tform1.h"

namespace kazari
{

DropHandler::DropHandler(TForm1 &form)
    : QObject(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("DropHandler"));
}

} // namespace kazari
