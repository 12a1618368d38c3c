#include "frontend/PatchMetadata.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include "rom/Version.h"

namespace torvale::frontend {

std::string PatchMetadataXml(const PatchInfo& info, const CleanImageFacts& clean) {
  QByteArray xml;
  QXmlStreamWriter writer(&xml);
  writer.setAutoFormatting(true);
  writer.writeStartDocument();
  writer.writeStartElement(QStringLiteral("patch"));
  writer.writeTextElement(QStringLiteral("title"), info.title);
  writer.writeTextElement(QStringLiteral("author"), info.author);
  writer.writeTextElement(QStringLiteral("description"), info.description);
  writer.writeStartElement(QStringLiteral("source"));
  writer.writeAttribute(QStringLiteral("size"), QString::number(clean.size));
  writer.writeAttribute(QStringLiteral("crc32"),
                        QString::number(clean.crc32, 16).toUpper().rightJustified(8, u'0'));
  writer.writeAttribute(QStringLiteral("sha1"), QString::fromStdString(clean.sha1));
  writer.writeEndElement();
  writer.writeTextElement(QStringLiteral("program"), QString::fromLatin1(kProgramName) + u' ' +
                                                         QString::fromStdString(VersionText()));
  writer.writeEndElement();
  writer.writeEndDocument();
  return xml.toStdString();
}

QList<QPair<QString, QString>> ReadPatchMetadata(const std::string& metadata) {
  QList<QPair<QString, QString>> shown;
  QXmlStreamReader reader(QByteArray::fromStdString(metadata));
  while (!reader.atEnd()) {
    if (reader.readNext() != QXmlStreamReader::StartElement) continue;
    if (reader.name() == QLatin1String("patch")) continue;
    const QString name = reader.name().toString();
    for (const QXmlStreamAttribute& attribute : reader.attributes()) {
      shown.append({name + u' ' + attribute.name().toString(), attribute.value().toString()});
    }
    const QString text = reader.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    if (!text.isEmpty()) shown.append({name, text});
  }
  if (reader.hasError()) return {{QStringLiteral("metadata"), QString::fromStdString(metadata)}};
  return shown;
}

}  // namespace torvale::frontend
