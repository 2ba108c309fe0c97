// Intentionally empty until the subsystem's sources land.
