// Keeps the library non-empty until its first widget lands.
