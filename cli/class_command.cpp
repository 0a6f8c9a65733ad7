#include <QStringList>

#include "cli/cli_common.h"

namespace zandrel::cli {

int RunClassCommand(const QStringList&) {
  throw UsageError("not built yet");
}

}  // namespace zandrel::cli
