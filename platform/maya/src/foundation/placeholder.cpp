// Keeps the Foundation library non-empty until its sources arrive.
