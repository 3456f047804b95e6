#pragma once
// Context help. The windows name a help file and a topic number; this layer
// records each request, hands it to a viewer when one was installed for this
// platform, and otherwise tells the user plainly that help is not available.
#include <QString>

#include <vector>

struct HelpRequest {
    QString file;
    int context = 0;
};

// Shows a viewer for the topic; returns false when it could not.
using HelpViewer = bool (*)(const HelpRequest& request);

// Opens topic `context` of `file` (a bare name is looked for in the
// application's own directory by the viewer). Returns true when a viewer
// showed it; false after telling the user that help is not available.
bool ShowHelpContext(const QString& file, int context);

// The viewer used from now on; null means none (the default).
void SetHelpViewer(HelpViewer viewer);

// Every request made so far, oldest first, and a way to forget them.
const std::vector<HelpRequest>& HelpRequests();
void ClearHelpRequests();

// The text shown when no viewer can open a topic.
QString HelpUnavailableText(const HelpRequest& request);
