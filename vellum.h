#pragma once
// The whole public interface of the Vellum core.

#include <vellum/platform/Types.h>
