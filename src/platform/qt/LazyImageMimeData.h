#pragma once

#include <QMimeData>

#include <memory>

class PasteboardImageProvider;

// Clipboard contents whose image bytes are made when another program pastes: Qt asks
// retrieveData() only when a reader requests a format.
class LazyImageMimeData : public QMimeData {
    Q_OBJECT
public:
    explicit LazyImageMimeData(std::shared_ptr<const PasteboardImageProvider> provider);

    [[nodiscard]] QStringList formats() const override;
    [[nodiscard]] bool hasFormat(const QString& mimeType) const override;

protected:
    [[nodiscard]] QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    std::shared_ptr<const PasteboardImageProvider> m_provider;
};
