#include "core/decoration/captionpalette.h"

#include "core/app/colorvalue.h"
#include "core/app/settings.h"

namespace kazari
{

namespace
{

void readColour(const Settings &settings, const char *key, QColor &field)
{
    if (const std::optional<qint32> number = settings.color(QLatin1String(key)))
        field = ColorValue::toColor(*number);
}

} // namespace

CaptionPalette CaptionPalette::fromSettings(const Settings &settings)
{
    CaptionPalette p;
    readColour(settings, "cl_Directory", p.directory);
    readColour(settings, "cl_SysFile", p.systemFile);
    readColour(settings, "cl_VolumeID", p.volumeLabel);
    readColour(settings, "cl_ReadOnly", p.readOnly);
    readColour(settings, "cl_Hidden", p.hidden);
    readColour(settings, "cl_Ycomp", p.taskFinished);
    readColour(settings, "cl_Ncomp", p.taskOpen);
    const QString bold = settings.value(QStringLiteral("fs_Directory"));
    if (!bold.isNull())
        p.boldFolders = bold == QLatin1String("1");
    return p;
}

} // namespace kazari
