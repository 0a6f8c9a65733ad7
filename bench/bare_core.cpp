// The floor for zandrel-gen class: a program on Qt Core alone that reads a JSON document and
// prints one of its values.
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  QFile file(QString::fromLocal8Bit(argv[1]));
  if (!file.open(QIODevice::ReadOnly)) return 3;
  const QByteArray name =
      QJsonDocument::fromJson(file.readAll()).object().value("ClassName").toString().toUtf8();
  std::puts(name.constData());
  return 0;
}
