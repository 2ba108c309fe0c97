// Intentionally empty until the desktop sources land.
