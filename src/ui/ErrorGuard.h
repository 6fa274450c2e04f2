#pragma once

#include <QString>

#include <functional>

class IPlatformServices;
class QWidget;

// Runs one user command. An error escaping it is shown in the application's error box
// (ErrorBoxText of the error's text, captioned with ACaption, error icon, OK) and goes no
// further, so no exception reaches Qt's event loop. Returns false when the command failed.
bool RunGuarded(IPlatformServices& APlatform, QWidget* AOwner, const QString& ACaption,
                const std::function<void()>& ACommand);
