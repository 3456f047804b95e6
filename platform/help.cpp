#include "platform/help.h"

#include "platform/application.h"

namespace {

std::vector<HelpRequest>& Requests()
{
    static std::vector<HelpRequest> requests;
    return requests;
}

HelpViewer& Viewer()
{
    static HelpViewer viewer = nullptr;
    return viewer;
}

} // namespace

bool ShowHelpContext(const QString& file, int context)
{
    const HelpRequest request{file, context};
    Requests().push_back(request);
    if (HelpViewer viewer = Viewer(); viewer && viewer(request))
        return true;
    Application->MessageBox(HelpUnavailableText(request), QStringLiteral("Informação"),
                            MB_OK | MB_ICONINFORMATION);
    return false;
}

void SetHelpViewer(HelpViewer viewer)
{
    Viewer() = viewer;
}

const std::vector<HelpRequest>& HelpRequests()
{
    return Requests();
}

void ClearHelpRequests()
{
    Requests().clear();
}

QString HelpUnavailableText(const HelpRequest& request)
{
    return QStringLiteral("A ajuda não está disponível neste computador: não há visualizador para o "
                          "arquivo %1 (tópico %2).")
        .arg(request.file.isEmpty() ? QStringLiteral("de ajuda") : request.file)
        .arg(request.context);
}
