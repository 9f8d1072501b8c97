#pragma once
// The whole windowing layer in one include, for forms that use most of it.

#include <platform/windowing/check_box.h>
#include <platform/windowing/command_button.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/form.h>
#include <platform/windowing/frame.h>
#include <platform/windowing/label.h>
#include <platform/windowing/list_view.h>
#include <platform/windowing/msgbox.h>
#include <platform/windowing/picture_box.h>
#include <platform/windowing/screen.h>
#include <platform/windowing/text_box.h>
#include <platform/windowing/timer.h>
#include <platform/windowing/window_api.h>
