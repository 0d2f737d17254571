#include "app/ObservableNotifier.h"
