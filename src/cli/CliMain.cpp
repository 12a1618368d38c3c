#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "cli/Cli.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  return torvale::cli::RunCommandLine(QCoreApplication::arguments(),
                                      QCoreApplication::applicationDirPath(), {out, err});
}
