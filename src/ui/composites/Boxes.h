#pragma once

class Event;
class InputBox;
class MessageBox;
class NoticeBox;
class ProgressBox;
class QuestionBox;

/*
===============================================================================
The boxes the commands and the application pop up. Each function makes its
box, marks it deleteWhenRemoved and shows it as a layer (not topmost, not
exclusive; the input box exclusive). The application deletes the box when it
leaves the layer list, after the box closed itself. The returned pointer is
valid until then; callers subscribe to it to hear the answer.

Without an application (tests) nothing shows the box and the caller owns it.
===============================================================================
*/
MessageBox* showMessage(const char* message, const char* title, int icon);
// The caller subscribes the box to the operation that reports progress.
ProgressBox* showProgress(const char* message, const char* title);
NoticeBox* showNotice(const char* message, const char* title);
// buttons: 1 "Yes", 2 "No", 4 "Cancel". The events are copied; null for none.
QuestionBox* ask(const char* question, const char* title, int buttons, const Event* yes,
                 const Event* no, const Event* cancel);
InputBox* askText(const char* caption, const Event* accept, const Event* cancel);
