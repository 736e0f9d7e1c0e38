#include "ui/qt/Cp949Text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zqk {
namespace {

// Stateless: an incomplete sequence at the end of one text must not leak into
// the next. One converter per thread, since they carry error state.
QStringDecoder& Decoder() {
  thread_local QStringDecoder decoder("CP949", QStringConverter::Flag::Stateless);
  return decoder;
}

QStringEncoder& Encoder() {
  thread_local QStringEncoder encoder("CP949", QStringConverter::Flag::Stateless);
  return encoder;
}

}  // namespace

QString FromCp949(std::string_view bytes) {
  if (bytes.empty()) return {};
  return Decoder().decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string ToCp949(const QString& text) {
  if (text.isEmpty()) return {};
  const QByteArray bytes = Encoder().encode(text);
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool IsCp949Encodable(const QString& text) {
  if (text.isEmpty()) return true;
  QStringEncoder encoder("CP949", QStringConverter::Flag::Stateless);
  // The encoding runs when the result is converted to bytes.
  [[maybe_unused]] const QByteArray bytes = encoder.encode(text);
  return !encoder.hasError();
}

}  // namespace zqk
