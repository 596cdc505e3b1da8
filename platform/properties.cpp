// ReadProperty / WriteProperty: the numbered properties of each control
// kind. Values are copied both ways; a write of a value of the wrong type,
// to an unknown control or to a property the kind does not have changes
// nothing.
#include "platform/period_timer.h"
#include "platform/picture_box.h"
#include "platform/runtime_window.h"
#include "platform/trans_label.h"
#include "platform/window_host.h"

#include <QLineEdit>

namespace vellumark::platform {

namespace {

Text ReadEditText(Control& control) {
    if (control.editTextStale) {
        const QByteArray utf8 = static_cast<QLineEdit*>(control.widget)->text().toUtf8();
        control.editText.assign(utf8.constData(), static_cast<std::size_t>(utf8.size()));
        control.editTextStale = false;
    }
    return control.editText;
}

} // namespace

PropertyValue ReadProperty(Window& window, std::string_view name, int property) {
    RuntimeWindow* runtime = RuntimeWindow::From(window);
    Control* control = runtime != nullptr ? runtime->find(name) : nullptr;
    if (control == nullptr) {
        return {};
    }
    switch (control->kind) {
    case ControlKind::EditBox:
        if (property == kPropertyText) {
            return ReadEditText(*control);
        }
        break;
    case ControlKind::TransLabel:
        if (property == kPropertyText) {
            return static_cast<TransLabel*>(control->widget)->text();
        }
        break;
    case ControlKind::PicBox:
        if (property == kPropertyPicture) {
            return static_cast<PictureBox*>(control->widget)->picture();
        }
        break;
    case ControlKind::Timer:
        if (property == kPropertyPeriod) {
            return control->timer->period();
        }
        break;
    case ControlKind::CommonDlg:
        if (property == kPropertyFileName) {
            return control->fileName;
        }
        break;
    case ControlKind::Button:
        break;
    }
    return {};
}

void WriteProperty(Window& window, std::string_view name, int property,
                   const PropertyValue& value) {
    RuntimeWindow* runtime = RuntimeWindow::From(window);
    Control* control = runtime != nullptr ? runtime->find(name) : nullptr;
    if (control == nullptr) {
        return;
    }
    const auto* text = std::get_if<Text>(&value);
    switch (control->kind) {
    case ControlKind::EditBox:
        if (property == kPropertyText && text != nullptr) {
            auto* edit = static_cast<QLineEdit*>(control->widget);
            edit->setText(QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())));
            edit->setCursorPosition(0);
        }
        break;
    case ControlKind::TransLabel:
        if (property == kPropertyText && text != nullptr) {
            auto* label = static_cast<TransLabel*>(control->widget);
            if (label->text() != *text) {
                ContentChanged(*label);
            }
            label->setText(*text);
        }
        break;
    case ControlKind::PicBox:
        if (const auto* bytes = std::get_if<Bytes>(&value);
            property == kPropertyPicture && bytes != nullptr) {
            ContentChanged(*control->widget);
            static_cast<PictureBox*>(control->widget)->setPicture(*bytes);
        }
        break;
    case ControlKind::Timer:
        if (const auto* period = std::get_if<std::int32_t>(&value);
            property == kPropertyPeriod && period != nullptr) {
            control->timer->setPeriod(*period);
        }
        break;
    case ControlKind::CommonDlg:
        if (property == kPropertyFileName && text != nullptr) {
            control->fileName = *text;
        }
        break;
    case ControlKind::Button:
        break;
    }
}

} // namespace vellumark::platform
