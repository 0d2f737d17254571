// A settings dialog as Qt Widgets draw it, saved as a picture with its text in reading order.
// Built and run by render.py: dialog OUTPUT.png OUTPUT.txt
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyleFactory>
#include <QVBoxLayout>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    QApplication::setFont(font);

    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* general = new QGroupBox(QStringLiteral("General"));
    auto* form = new QFormLayout(general);
    form->addRow(QStringLiteral("Save folder:"), new QLineEdit(QStringLiteral("/home/alice/Pictures/Screens")));
    auto* format = new QComboBox;
    format->addItem(QStringLiteral("PNG image"));
    form->addRow(QStringLiteral("File format:"), format);
    auto* delay = new QSpinBox;
    delay->setSuffix(QStringLiteral(" seconds"));
    delay->setValue(3);
    form->addRow(QStringLiteral("Capture delay:"), delay);
    layout->addWidget(general);
    auto* behaviour = new QGroupBox(QStringLiteral("Behaviour"));
    auto* checks = new QVBoxLayout(behaviour);
    const QStringList options { QStringLiteral("Copy every capture to the clipboard"),
        QStringLiteral("Play a sound after saving"), QStringLiteral("Start when I log in"),
        QStringLiteral("Show the editor after each capture") };
    for (int index = 0; index < options.size(); ++index) {
        auto* box = new QCheckBox(options[index]);
        box->setChecked(index % 2 == 0);
        checks->addWidget(box);
    }
    layout->addWidget(behaviour);
    auto* upload = new QGroupBox(QStringLiteral("Upload"));
    auto* uploadForm = new QFormLayout(upload);
    uploadForm->addRow(
        QStringLiteral("Server address:"), new QLineEdit(QStringLiteral("https://upload.example.org/api")));
    uploadForm->addRow(QStringLiteral("Field name:"), new QLineEdit(QStringLiteral("file")));
    layout->addWidget(upload);
    layout->addWidget(new QLabel(QStringLiteral("Changes apply to the next capture.")));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply);
    layout->addWidget(buttons);
    dialog.resize(560, 520);
    dialog.show();
    dialog.grab().save(QString::fromLocal8Bit(argv[1]));

    QStringList truth { QStringLiteral("General"), QStringLiteral("Save folder: /home/alice/Pictures/Screens"),
        QStringLiteral("File format: PNG image"), QStringLiteral("Capture delay: 3 seconds"),
        QStringLiteral("Behaviour") };
    truth += options;
    truth += { QStringLiteral("Upload"), QStringLiteral("Server address: https://upload.example.org/api"),
        QStringLiteral("Field name: file"), QStringLiteral("Changes apply to the next capture.") };
    for (QAbstractButton* button : buttons->buttons())
        truth.append(button->text().remove(QLatin1Char('&')));
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    out.write(truth.join(QLatin1Char('\n')).toUtf8() + '\n');
    return 0;
}
