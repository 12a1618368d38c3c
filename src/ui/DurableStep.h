#pragma once

#include <QString>
#include <functional>

#include "ui/History.h"

class QWidget;

namespace torvale::ui {

class Platform;
class RomSession;

// Writes one step of the ROM's history named `name` and makes it durable, as
// every window's Apply does. A write the system refuses is told to the user
// (the step keeps what was written); a failed sync, a field that may be torn,
// or a file another program truncated, replaced or deleted is told, and
// closes the ROM. Whether the step was written and made durable.
bool WriteDurableStep(RomSession& session, Platform& platform, QWidget* parent, const QString& name,
                      const std::function<void()>& write, StepMerge merge = StepMerge::kNever);

}  // namespace torvale::ui
