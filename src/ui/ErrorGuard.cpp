#include "ui/ErrorGuard.h"

#include "platform/PlatformServices.h"
#include "util/Errors.h"

#include <exception>

bool RunGuarded(IPlatformServices& APlatform, QWidget* AOwner, const QString& ACaption,
                const std::function<void()>& ACommand) {
    QString Message;
    try {
        ACommand();
        return true;
    } catch (const EVibronaError& E) {
        Message = E.Message();
    } catch (const std::exception& E) {
        Message = QString::fromLocal8Bit(E.what());
    }
    APlatform.MessageBox(AOwner, ErrorBoxText(Message), ACaption, TMessageKind::Error);
    return false;
}
