#include "core/app/defaultsettings.h"

#include <QFile>

namespace kazari
{

const QStringList &DefaultSettings::lines()
{
    // The built-in text is the file "exe.ini.default" beside this source, compiled in as
    // a resource, so it stays one readable text, line for line as a fresh exe.ini.
    static const QStringList text = []() {
        QFile file(QStringLiteral(":/kazari/exe.ini.default"));
        QStringList result;
        if (file.open(QIODevice::ReadOnly)) {
            result = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
            if (!result.isEmpty() && result.constLast().isEmpty())
                result.removeLast();
        }
        Q_ASSERT(!result.isEmpty());
        return result;
    }();
    return text;
}

} // namespace kazari
