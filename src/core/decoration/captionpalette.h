#pragma once

#include <QColor>

namespace kazari
{

class Settings;

/// The caption colours the settings give: by file attribute (`cl_Directory`,
/// `cl_SysFile`, `cl_VolumeID`, `cl_ReadOnly`, `cl_Hidden`), bold folder names
/// (`fs_Directory` = "1") and the finished and open task colours (`cl_Ycomp`,
/// `cl_Ncomp`). A key that is absent or holds no colour keeps its default.
struct CaptionPalette {
    QColor directory = QColor(0, 0, 255);      ///< clBlue
    bool boldFolders = true;                   ///< `fs_Directory` "1"
    QColor systemFile = QColor(255, 0, 0);     ///< clRed
    QColor volumeLabel = QColor(255, 255, 0);  ///< clYellow
    QColor readOnly = QColor(0, 0, 255);       ///< clBlue
    QColor hidden = QColor(128, 128, 128);     ///< clGray
    QColor taskFinished = QColor(0, 255, 255); ///< `cl_Ycomp`, clAqua
    QColor taskOpen = QColor(255, 0, 0);       ///< `cl_Ncomp`, clRed

    static CaptionPalette fromSettings(const Settings &settings);
};

} // namespace kazari
