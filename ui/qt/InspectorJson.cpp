#include "ui/qt/InspectorJson.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "ui/qt/Cp949Text.h"

namespace zqk {
namespace {

QString Text(std::string_view cp949) {
  return FromCp949(cp949);
}

QString Hex(std::string_view bytes) {
  return QString::fromLatin1(
      QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())).toHex());
}

QJsonValue RowName(const inspect::Row& row) {
  switch (row.kind) {
    case inspect::RowKind::kHeader:
      return QStringLiteral("header");
    case inspect::RowKind::kContent:
      return QStringLiteral("content");
    case inspect::RowKind::kRow:
      break;
  }
  return static_cast<qint64>(row.index);
}

QJsonObject FieldJson(const inspect::Field& f) {
  const std::string shown = inspect::ShownBytes(f.value);
  QJsonObject o{{QStringLiteral("name"), Text(f.name)},
                {QStringLiteral("offset"), static_cast<qint64>(f.offset)},
                {QStringLiteral("width"), static_cast<qint64>(f.width)},
                {QStringLiteral("value"), Text(shown)}};
  if (shown != f.value) o.insert(QStringLiteral("hex"), Hex(f.value));
  return o;
}

QJsonObject PartJson(const inspect::Part& part, inspect::Language language) {
  QJsonArray notes;
  for (const inspect::Note& n : part.notes) notes.append(Text(inspect::NoteText(n, language)));
  QJsonArray rows;
  for (const inspect::Row& r : part.rows) {
    QJsonArray fields;
    for (const inspect::Field& f : r.fields) fields.append(FieldJson(f));
    rows.append(
        QJsonObject{{QStringLiteral("row"), RowName(r)}, {QStringLiteral("fields"), fields}});
  }
  QJsonObject o{{QStringLiteral("part"), Text(inspect::PartName(part))},
                {QStringLiteral("count"), static_cast<qint64>(part.count)},
                {QStringLiteral("notes"), notes},
                {QStringLiteral("rows"), rows}};
  if (!part.rest.empty()) {
    o.insert(QStringLiteral("rest"),
             QJsonObject{{QStringLiteral("offset"), static_cast<qint64>(part.restOffset)},
                         {QStringLiteral("hex"), Hex(part.rest)}});
  }
  return o;
}

}  // namespace

QByteArray InspectorEntryJson(const InspectorEntry& e, inspect::Language language) {
  QJsonObject o;
  const bool reply = e.kind == InspectedKind::kReply;
  o.insert(QStringLiteral("kind"), reply ? QStringLiteral("reply") : QStringLiteral("real"));
  o.insert(reply ? QStringLiteral("code") : QStringLiteral("key"), Text(e.code));
  if (reply) {
    o.insert(QStringLiteral("rqid"), e.rqId);
    o.insert(QStringLiteral("latencyMs"),
             e.latencyMs ? QJsonValue(static_cast<qint64>(*e.latencyMs)) : QJsonValue());
  } else {
    o.insert(QStringLiteral("realType"), e.realType);
  }
  o.insert(QStringLiteral("time"),
           QDateTime::fromSecsSinceEpoch(static_cast<qint64>(e.clock)).toString(Qt::ISODate));
  o.insert(QStringLiteral("bytes"), static_cast<qint64>(e.inspection.dataBytes));
  QJsonArray parts;
  for (const inspect::Part& p : e.inspection.parts) parts.append(PartJson(p, language));
  o.insert(QStringLiteral("parts"), parts);
  return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

}  // namespace zqk
