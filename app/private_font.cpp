#include "app/private_font.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QStringList>

#include "platform/paths.h"
#include "platform/settings_file.h"

namespace tarn {

bool CPrivateFont::LoadPrivateFont(const std::string& relativePath) {
  UnloadPrivateFont();
  m_sPath = JoinPath(ProgramFolder(), relativePath);
  std::string bytes;
  if (!ReadWholeFile(m_sPath, bytes) || bytes.empty()) return false;
  m_nFontId = QFontDatabase::addApplicationFontFromData(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return m_nFontId >= 0;
}

void CPrivateFont::UnloadPrivateFont() {
  if (m_nFontId >= 0) QFontDatabase::removeApplicationFont(m_nFontId);
  m_nFontId = -1;
}

std::string CPrivateFont::GetFamily() const {
  if (m_nFontId < 0) return {};
  return QFontDatabase::applicationFontFamilies(m_nFontId).join(QStringLiteral(",")).toStdString();
}

}  // namespace tarn
