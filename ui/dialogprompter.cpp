#include "prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace zelmar {

DialogPrompter::DialogPrompter(QString defaultTitle) : m_defaultTitle(std::move(defaultTitle)) {}

QString DialogPrompter::titleOr(const QString& title) const {
    return title.isEmpty() ? m_defaultTitle : title;
}

void DialogPrompter::message(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, titleOr(title), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool DialogPrompter::askYesNo(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Critical, titleOr(title), text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString DialogPrompter::input(const QString& prompt, const QString& title,
                              const QString& defaultText) {
    bool ok = false;
    const QString answer = QInputDialog::getText(QApplication::activeWindow(), titleOr(title),
                                                 prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

void DialogPrompter::beep() {
    QApplication::beep();
}

QString Prompter::openFileName(const QString&, const QString&, const QString&) {
    return QString();
}

QString Prompter::saveFileName(const QString&, const QString&, const QString&) {
    return QString();
}

QString DialogPrompter::openFileName(const QString& title, const QString& dir,
                                     const QString& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), titleOr(title), dir, filter);
}

QString DialogPrompter::saveFileName(const QString& title, const QString& path,
                                     const QString& filter) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), titleOr(title), path, filter);
}

} // namespace zelmar
