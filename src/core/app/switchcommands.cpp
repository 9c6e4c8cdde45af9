#include "core/app/switchcommands.h"
#include "core/app/componentnames.h"

namespace kazari
{

namespace
{

bool in(const QString &name, std::initializer_list<QString> names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

bool SwitchCommands::isGeneric(const QString &name)
{
    return in(name, {Component::ProtectFileNames,   Component::AcceptDrops,
                     Component::DropOntoFolders,    Component::ShowHiddenFiles,
                     Component::ShowSystemFiles,    Component::ShowFolderInfo,
                     Component::ShowFolderSizes,    Component::FavouritesAtStartup,
                     Component::ResizeIcons,        Component::SingleColourMask,
                     Component::EffectMask,         Component::HatchMask,
                     Component::Contrast,           Component::Monochrome,
                     Component::PictureContents,    Component::ShowSeals,
                     Component::ShowLabels,         Component::TextLabels,
                     Component::ShowStamps,         Component::CaptionLabels,
                     Component::TaskCaptionColours, Component::ShowComments,
                     Component::QuickComment,       Component::AutomaticTaskCheck,
                     Component::KeepPositions,      Component::PointlessCheckBoxes,
                     Component::WindowShading,      Component::CheckFolderFilesAutomatically,
                     Component::CentralManagement,  Component::PerFolderFiles,
                     Component::NewListEngine,      Component::NamespaceEngine}) ||
           isRightPanePage(name) || name == Component::FolderPane || name == Component::FilePane ||
           name == Component::GridLines;
}

bool SwitchCommands::isRightPanePage(const QString &name)
{
    return in(name, {Component::OpenTasksPage, Component::SimpleFileView, Component::FavouritesPage,
                     Component::BrowserPage, Component::ComputerPage});
}

bool SwitchCommands::rebuildsList(const QString &name)
{
    return !in(name, {Component::OpenTasksPage, Component::SimpleFileView, Component::FolderPane,
                      Component::FilePane, Component::BrowserPage, Component::FavouritesPage,
                      Component::ComputerPage});
}

bool SwitchCommands::showsPageWhenOn(const QString &name)
{
    return in(name,
              {Component::OpenTasksPage, Component::SimpleFileView, Component::FavouritesPage});
}

} // namespace kazari
